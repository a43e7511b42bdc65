# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (the POSIX thread model,
# which std::thread and std::mutex need). Programs are linked statically: nothing has to be
# shipped beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEXA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VEXA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEXA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VEXA_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VEXA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# GCC 12 reports overlaps inside std::string copies that cannot happen once it inlines them at
# -O2 and above (GCC bug 105329); the Linux build, at -O0 for tests, never sees them.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
