# A Windows file as it ships: copied (or signed with Authenticode when a
# certificate and its key are given), with the release's time and modes
# that no builder's umask changes, so that what packs it packs the same
# bytes on every build.
#   cmake -DIN=FILE -DOUT=FILE -DEPOCH=SECONDS [-DCERT=PEM -DKEY=PEM] -P ship.cmake
# The signature carries no time stamp from a server: signing needs no
# network.
cmake_minimum_required(VERSION 3.25)

# The signature describes the file by its name without the extension.
get_filename_component(name "${OUT}" NAME_WLE)
file(REMOVE "${OUT}")
if(CERT AND KEY)
  find_program(OSSLSIGNCODE osslsigncode REQUIRED)
  execute_process(
    COMMAND ${OSSLSIGNCODE} sign -certs ${CERT} -key ${KEY} -h sha256 -n ${name} -in ${IN} -out ${OUT}
    RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(failed)
    message(FATAL_ERROR "Signing ${IN} failed:\n${output}")
  endif()
else()
  file(COPY_FILE "${IN}" "${OUT}")
endif()
file(CHMOD "${OUT}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
     WORLD_EXECUTE)
execute_process(COMMAND touch --no-create --date=@${EPOCH} "${OUT}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Could not set the time of ${OUT}")
endif()
