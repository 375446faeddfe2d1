# Helpers that keep each folder's CMakeLists short.

# orv_subsystem(<name> [LOGIC_DEPS ...] [FORMS_DEPS ...])
# Builds orv_<name> from the folder's *.cpp (Qt Core only, so a widget include
# fails to build) and orv_<name>_forms from forms/*.cpp (Qt Widgets).
# A folder without sources of a kind gets an interface library in its place.
function(orv_subsystem name)
  cmake_parse_arguments(ARG "" "" "LOGIC_DEPS;FORMS_DEPS" ${ARGN})
  file(GLOB logic CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB forms CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/forms/*.cpp)
  if(logic)
    add_library(orv_${name} STATIC ${logic})
    target_include_directories(orv_${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(orv_${name} PUBLIC Qt6::Core ${ARG_LOGIC_DEPS})
  else()
    add_library(orv_${name} INTERFACE)
    target_include_directories(orv_${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(orv_${name} INTERFACE Qt6::Core ${ARG_LOGIC_DEPS})
  endif()
  if(forms)
    add_library(orv_${name}_forms STATIC ${forms})
    target_link_libraries(orv_${name}_forms PUBLIC orv_${name} Qt6::Widgets Qt6::PrintSupport ${ARG_FORMS_DEPS})
  else()
    add_library(orv_${name}_forms INTERFACE)
    target_link_libraries(orv_${name}_forms INTERFACE orv_${name} Qt6::Widgets Qt6::PrintSupport ${ARG_FORMS_DEPS})
  endif()
endfunction()

# Compiles everything under resources/ into <target> (bitmaps, cursors, icons,
# sounds, string tables). Added per executable: a resource object inside a
# static library would be dropped by the linker.
function(orv_add_resources target)
  file(GLOB_RECURSE res CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*)
  list(FILTER res EXCLUDE REGEX "/(README[^/]*|\\.[^/]*)$")
  if(res)
    qt_add_resources(${target} "orvres_${target}" PREFIX "/" BASE ${PROJECT_SOURCE_DIR}/resources
                     FILES ${res})
  endif()
endfunction()

# An executable placed in the program folder.
function(orv_program target)
  add_executable(${target} ${ARGN})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORV_PROGRAM_DIR})
  orv_add_resources(${target})
endfunction()

# The runnable program folder beside the executables (see LayoutProgramFolder.cmake).
function(orv_program_folder)
  add_custom_target(program_folder ALL
    COMMAND ${CMAKE_COMMAND} -DDATA_DIR=${PROJECT_SOURCE_DIR}/data -DOUT_DIR=${ORV_PROGRAM_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/LayoutProgramFolder.cmake
    COMMENT "Laying out the program folder"
    VERBATIM)
endfunction()

# orv_test(<name> SOURCES ... LIBS ...): one GoogleTest program, run offscreen.
function(orv_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/common/test_main.cpp
                 ${PROJECT_SOURCE_DIR}/tests/common/testsupport.cpp
                 ${PROJECT_SOURCE_DIR}/tests/common/pdftools.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} orv_core orv_platform_forms GTest::gtest Qt6::Test)
  # Run directly from the build folder, a test program finds the sources and
  # the program folder by these; ctest passes the same through the environment.
  target_compile_definitions(${name} PRIVATE ORV_BUILT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             ORV_BUILT_PROGRAM_DIR="${ORV_PROGRAM_DIR}")
  orv_add_resources(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ORV_SOURCE_DIR=${PROJECT_SOURCE_DIR};ORV_PROGRAM_DIR=${ORV_PROGRAM_DIR}"
    TIMEOUT 300)
  add_dependencies(${name} program_folder)
endfunction()
