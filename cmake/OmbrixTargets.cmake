# Compile settings for the project's own targets, and the helper that declares a test program.

if(WIN32 AND NOT MINGW AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(ombrix_warnings /W4 /WX /permissive-)
else()
  set(ombrix_warnings -Wall -Wextra -Werror -Wimplicit-fallthrough -Wnon-virtual-dtor)
endif()

if(OMBRIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Coverage for libFuzzer in every object; the fuzz targets themselves add -fsanitize=fuzzer for its main().
if(OMBRIX_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Settings every target of ours gets (not third-party code).
function(ombrix_target_defaults target)
  target_compile_options(${target} PRIVATE ${ombrix_warnings})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
      STRICT STRICT_TYPED_ITEMIDS _WIN32_WINNT=0x0A00 WINVER=0x0A00 NTDDI_VERSION=0x0A000000)
    if(MINGW)
      target_link_options(${target} PRIVATE -static)
    endif()
  endif()
endfunction()

# ombrix_add_test(NAME <name> SOURCES <files...> LIBRARIES <libs...>)
# Declares a GoogleTest program and registers each of its tests with CTest. On the cross build CTest runs it under
# Wine through the toolchain's emulator.
function(ombrix_add_test)
  cmake_parse_arguments(arg "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${arg_NAME} ${arg_SOURCES})
  ombrix_target_defaults(${arg_NAME})
  target_link_libraries(${arg_NAME} PRIVATE ${arg_LIBRARIES} GTest::gtest GTest::gtest_main)
  if(WIN32)
    target_link_options(${arg_NAME} PRIVATE -mconsole)
  endif()
  gtest_add_tests(TARGET ${arg_NAME} SOURCES ${arg_SOURCES} TEST_LIST ${arg_NAME}_tests)
  set_tests_properties(${${arg_NAME}_tests} PROPERTIES LABELS unit TIMEOUT 120)
  # The caller may set more properties on these tests (labels, running alone).
  set(${arg_NAME}_tests ${${arg_NAME}_tests} PARENT_SCOPE)
endfunction()
