# Writes the service worker of the assembled page: the list of its files,
# and a version that changes whenever any of them does.
#   cmake -DSITE=DIR -DFILES=index.html,zelmar.js,... -DTEMPLATE=sw.js.in -DVERSION=1.0.0.2
#         -P write_service_worker.cmake
string(REPLACE "," ";" names "${FILES}")
list(SORT names)
set(digests "")
set(ZELMAR_WEB_FILES "\"./\"")
foreach(name IN LISTS names)
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND digests "${name}:${digest};")
  string(APPEND ZELMAR_WEB_FILES ", \"${name}\"")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 digest)
# The cache is named for the program's version and the files' contents.
set(ZELMAR_WEB_VERSION "${VERSION}-${digest}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
