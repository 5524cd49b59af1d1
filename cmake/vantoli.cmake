# Shared build settings for every Vantoli target.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

if(VANTOLI_SANITIZE)
  # Every target, so that the libraries and the programs agree on the instrumentation.
  add_compile_options(-fsanitize=${VANTOLI_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${VANTOLI_SANITIZE})
endif()

# Compiler warnings for one of our own targets.
function(vantoli_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  # GCC 12 at -O3 (the Release build the package is made from) warns of overlapping copies inside
  # libstdc++'s own std::string code (GCC bug 105651), wherever a string is replaced or concatenated.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(VANTOLI_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# vantoli_add_test(name SOURCES a.cpp ... LIBS lib ... [TIMEOUT seconds])
# One Qt Test program, registered with CTest under its own name. A test that runs longer than its
# timeout (60 s unless given) fails rather than holding up the run.
function(vantoli_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 60)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  vantoli_target_defaults(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT ${ARG_TIMEOUT})
endfunction()

# Where the programs and the help lie: installed, both programs in bin/ and the help, which is the
# same on every architecture, in share/vantoli/help/. The build tree keeps the same layout under
# build/ (bin/, share/vantoli/help/), so that the window finds vantoli-plan and its help by the same
# paths, relative to its own folder, in the build tree and under any prefix. The window's small helper,
# which no user runs, lies in libexec/vantoli/.
include(GNUInstallDirs)
set(VANTOLI_HELP_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/vantoli/help")
file(RELATIVE_PATH VANTOLI_HELP_FROM_PROGRAM "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/vantoli/help")
file(RELATIVE_PATH VANTOLI_PLAN_FROM_PROGRAM "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_BINDIR}")
if(VANTOLI_PLAN_FROM_PROGRAM STREQUAL "")
  set(VANTOLI_PLAN_FROM_PROGRAM ".")
endif()
set(VANTOLI_HELPER_INSTALL_DIR "${CMAKE_INSTALL_LIBEXECDIR}/vantoli")
file(RELATIVE_PATH VANTOLI_HELPER_FROM_PROGRAM "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBEXECDIR}/vantoli")
set(VANTOLI_BUILD_PROGRAM_DIR "${PROJECT_BINARY_DIR}/bin")
cmake_path(ABSOLUTE_PATH VANTOLI_HELPER_FROM_PROGRAM BASE_DIRECTORY "${VANTOLI_BUILD_PROGRAM_DIR}" NORMALIZE
           OUTPUT_VARIABLE VANTOLI_BUILD_HELPER_DIR)
cmake_path(ABSOLUTE_PATH VANTOLI_HELP_FROM_PROGRAM BASE_DIRECTORY "${VANTOLI_BUILD_PROGRAM_DIR}" NORMALIZE
           OUTPUT_VARIABLE VANTOLI_BUILD_HELP_DIR)
