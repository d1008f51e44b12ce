# The same bytes from every build of one commit, whatever the folder, the
# time, the umask or the time zone it is built in: the one time that goes in
# is the release's (ZELMAR_SOURCE_DATE_EPOCH, from ZelmarIdentity.cmake).

# No build folder in what we compile: __FILE__ and the debug sections name
# files from the source and build folders' tops.
target_compile_options(zelmar_build_options INTERFACE -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                                                      -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)

# The tools that write a time take the release's from SOURCE_DATE_EPOCH, at
# every link and every custom step of the build: the linker (the PE header's
# time stamp), and among the build's own steps Qt's resource compiler (each
# file's time, which would be the build's).
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${ZELMAR_SOURCE_DATE_EPOCH})
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_C_LINKER_LAUNCHER})
# The rule launcher goes into the build's shell command as it stands: one
# string (a list's semicolons would end the command there).
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "\"${CMAKE_COMMAND}\" -E env SOURCE_DATE_EPOCH=${ZELMAR_SOURCE_DATE_EPOCH}")

# Installed folders as Debian wants them, whatever the builder's umask (the
# package is made from what is installed).
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
