# Cross toolchain for the product: MinGW-w64 x86_64 with the POSIX thread model (std::thread works).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ombrix_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ombrix_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ombrix_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${ombrix_triplet}-windres)
set(CMAKE_AR ${ombrix_triplet}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${ombrix_triplet}-gcc-ranlib-posix CACHE FILEPATH "")

# Only the target's own files are searched; host headers (Boost among them) are exposed one folder at a time.
set(CMAKE_FIND_ROOT_PATH /usr/${ombrix_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine; the wrapper picks the build tree's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-emulator.sh)
