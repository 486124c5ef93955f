# Helpers shared by the module folders.
#
# tarn_module(name [DEPS ...] [WIN32_LIBS ...])
#   The static library of the calling module folder, from every .cpp file in that folder.
#   The build, not #ifdefs, picks the platform halves: a file whose name ends in _win32.cpp is
#   compiled in the win32 build only, one ending in _host.cpp in the host build only.
#   A main.cpp is a program's entry, not part of the library.
#   Each tests/NAME_test.cpp becomes the test program NAME_test (tests/*_win32_test.cpp in the
#   win32 build only), linked with the module and GoogleTest's main.
#
#   Each fuzz/NAME_fuzz.cpp becomes the libFuzzer target NAME_fuzz in the fuzz build only, seeded
#   from the folder fuzz/NAME_seeds when there is one (scripts/fuzz.sh runs them).
#
# tarn_test(name SOURCES ... [DEPS ...] [NO_GTEST_MAIN])
#   One further test program, for tests that need more than the convention gives.
#   Every test program is one ctest test (every Wine start costs time); Windows programs run
#   through the Wine wrapper, the crosscompiling emulator, inside the shared Wine session.

function(tarn_platform_filter out)
  set(kept)
  foreach(file ${ARGN})
    if(WIN32 AND file MATCHES "_host(_test)?\\.cpp$")
      continue()
    elseif(NOT WIN32 AND file MATCHES "_win32(_test)?\\.cpp$")
      continue()
    endif()
    list(APPEND kept ${file})
  endforeach()
  set(${out} ${kept} PARENT_SCOPE)
endfunction()

function(tarn_module name)
  cmake_parse_arguments(M "" "" "DEPS;WIN32_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  tarn_platform_filter(sources ${sources})
  if(sources)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)  # a module whose first files are still to come
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} ${scope} ${M_DEPS})
  if(WIN32 AND M_WIN32_LIBS)
    target_link_libraries(${name} ${scope} ${M_WIN32_LIBS})
  endif()

  if(TARNWICK_FUZZ)
    tarn_fuzz_targets(${name})
    return()
  endif()

  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*_test.cpp)
  tarn_platform_filter(tests ${tests})
  foreach(test ${tests})
    get_filename_component(test_name ${test} NAME_WE)
    tarn_test(${test_name} SOURCES ${test} DEPS ${name})
  endforeach()
endfunction()

function(tarn_test name)
  cmake_parse_arguments(T "NO_GTEST_MAIN" "" "SOURCES;DEPS" ${ARGN})
  if(TARNWICK_FUZZ)
    return()  # the fuzz build has no GoogleTest
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_DEPS} GTest::gtest tarn_test_support)
  if(NOT T_NO_GTEST_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  if(WIN32)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_session)
  endif()
endfunction()

function(tarn_fuzz_targets module)
  file(GLOB targets CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
  foreach(source ${targets})
    get_filename_component(target ${source} NAME_WE)
    add_executable(${target} ${source})
    target_link_libraries(${target} PRIVATE ${module})
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    string(REGEX REPLACE "_fuzz$" "_seeds" seeds ${target})
    file(APPEND ${CMAKE_BINARY_DIR}/fuzz_targets.txt
         "${target} ${CMAKE_CURRENT_BINARY_DIR}/${target} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/${seeds}\n")
  endforeach()
endfunction()
