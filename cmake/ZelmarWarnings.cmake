# The warnings every target of ours compiles with (zelmar_warnings), as
# errors where ZELMAR_WARNINGS_AS_ERRORS says so.
add_library(zelmar_warnings INTERFACE)
target_compile_options(zelmar_warnings INTERFACE -Wall -Wextra -Wpedantic
                       $<$<BOOL:${ZELMAR_WARNINGS_AS_ERRORS}>:-Werror>
                       # GCC 12's -Wrestrict at -O3 takes std::string's inlined
                       # copies for overlapping copies of 2^63 bytes, a false
                       # positive; the sanitised build checks real overlaps.
                       $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>)
