# Native test build: Linux i386, so host records keep their 32-bit layout, and a 16-bit wchar_t.
# Large-file interfaces, so directory listings keep working where the file system hands out
# 64-bit directory offsets to a 32-bit program (qemu-user, see scripts/install-deps).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i386)
set(CMAKE_C_FLAGS_INIT "-m32 -fshort-wchar -D_FILE_OFFSET_BITS=64")
set(CMAKE_CXX_FLAGS_INIT "-m32 -fshort-wchar -D_FILE_OFFSET_BITS=64")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(FIND_LIBRARY_USE_LIB32_PATHS TRUE)
