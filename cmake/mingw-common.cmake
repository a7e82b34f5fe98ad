# Settings shared by the two MinGW-w64 toolchains.
set(CMAKE_C_COMPILER ${KELVANDOR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVANDOR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KELVANDOR_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KELVANDOR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Windows XP-era API level is not needed: target Windows 7 and later.
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN)
# No runtime DLLs beside the deliverables.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# The x86_64 programs run under wine64 (the tests); the i686 ones cannot run here.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  find_program(KELVANDOR_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
  if(NOT KELVANDOR_WINE64)
    find_program(KELVANDOR_WINE64 NAMES wine64)
  endif()
  if(KELVANDOR_WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KELVANDOR_WINE64})
  endif()
endif()
