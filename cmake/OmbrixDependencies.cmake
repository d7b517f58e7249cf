# Third-party code, all of it from Debian packages installed by scripts/lib/setup.sh. Nothing is committed.

include(GoogleTest)

# GoogleTest: Debian's googletest package installs the sources; they are built once per build tree, with the
# toolchain of that tree.
set(OMBRIX_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${OMBRIX_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/deps/googletest EXCLUDE_FROM_ALL SYSTEM)
if(NOT TARGET GTest::gtest)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()

# Boost (header-only lexical_cast). Only the boost/ folder is made visible, through a link in the build tree, so
# that the cross compiler never sees the host's other headers.
set(OMBRIX_BOOST_INCLUDE_DIR /usr/include/boost CACHE PATH "Boost headers (the boost folder itself)")
set(ombrix_boost_root ${CMAKE_BINARY_DIR}/deps/boost-include)
file(MAKE_DIRECTORY ${ombrix_boost_root})
file(CREATE_LINK ${OMBRIX_BOOST_INCLUDE_DIR} ${ombrix_boost_root}/boost SYMBOLIC)
add_library(ombrix_boost INTERFACE)
target_include_directories(ombrix_boost SYSTEM INTERFACE ${ombrix_boost_root})

# pugixml from Debian's source package, compiled here in wide-character mode with this tree's toolchain.
set(OMBRIX_PUGIXML_SOURCE_DIR "" CACHE PATH "pugixml source folder (holds src/pugixml.cpp)")
if(NOT EXISTS "${OMBRIX_PUGIXML_SOURCE_DIR}/src/pugixml.cpp")
  message(FATAL_ERROR "OMBRIX_PUGIXML_SOURCE_DIR must name pugixml's sources; scripts/test.sh fetches them "
                      "with 'apt-get source pugixml'.")
endif()
add_library(ombrix_pugixml STATIC ${OMBRIX_PUGIXML_SOURCE_DIR}/src/pugixml.cpp)
target_compile_definitions(ombrix_pugixml PUBLIC PUGIXML_WCHAR_MODE)
target_include_directories(ombrix_pugixml SYSTEM PUBLIC ${OMBRIX_PUGIXML_SOURCE_DIR}/src)
