# Writes a file's bytes as a C++ source: `NAMESPACE::FUNCTION()` returns them (4-byte aligned)
# and `NAMESPACE::FUNCTION##Size()` their count.
# Run with: cmake -DINPUT=... -DOUTPUT=... -DNAMESPACE=... -DFUNCTION=... -P embed-bytes.cmake
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
get_filename_component(source ${INPUT} NAME)
file(WRITE ${OUTPUT}.tmp
     "// Generated from ${source} by cmake/embed-bytes.cmake: do not edit.\n"
     "#include <cstddef>\n\n"
     "namespace ${NAMESPACE} {\n\n"
     "alignas(4) static const unsigned char kBytes[${size}] = {\n    ${bytes}};\n\n"
     "const unsigned char* ${FUNCTION}() {\n    return kBytes;\n}\n\n"
     "size_t ${FUNCTION}Size() {\n    return sizeof kBytes;\n}\n\n"
     "} // namespace ${NAMESPACE}\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
