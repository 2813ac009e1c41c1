# cmake -DDIR=<resource folder> -DOUT=<file.cpp> -P embed_files.cmake
# Writes a C++ source holding every file that DIR/resources.list names, as
# byte arrays in the table that embedded_files.cpp searches.
file(STRINGS ${DIR}/resources.list lines)
set(arrays "")
set(table "")
set(n 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  string(REGEX MATCH "^[^ ]+" name "${line}")
  file(READ ${DIR}/${name} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "const unsigned char file${n}[] = {\n${bytes}};\n")
  string(APPEND table "    {\"${name}\", file${n}, sizeof file${n}},\n")
  math(EXPR n "${n} + 1")
endforeach()
file(WRITE ${OUT}.tmp
"// Generated from src/resources by embed_files.cmake; do not edit.
#include \"frame/embedded_files.h\"

namespace qv::frame {
namespace {
${arrays}}  // namespace

extern const EmbeddedFile kEmbeddedFiles[] = {
${table}};
extern const std::size_t kEmbeddedFileCount = ${n};

}  // namespace qv::frame
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
