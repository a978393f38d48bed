# Native test build: Linux i386, so host records keep their 32-bit layout, and a 16-bit wchar_t.
# Large-file interfaces, so directory listings keep working where the file system hands out
# 64-bit directory offsets to a 32-bit program (qemu-user, see scripts/install-deps).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i386)
# SSE2 arithmetic: doubles are rounded to double at every step, as in the product DLL (and as MSVC
# compiles it), not kept at the x87's 80 bits, which truncates 1.2 s x 1000 to 1199 ms.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -fshort-wchar -D_FILE_OFFSET_BITS=64")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -fshort-wchar -D_FILE_OFFSET_BITS=64")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(FIND_LIBRARY_USE_LIB32_PATHS TRUE)
