# Native test build: Linux i386, so host records keep their 32-bit layout, and a 16-bit wchar_t.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i386)
set(CMAKE_C_FLAGS_INIT "-m32 -fshort-wchar")
set(CMAKE_CXX_FLAGS_INIT "-m32 -fshort-wchar")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(FIND_LIBRARY_USE_LIB32_PATHS TRUE)
