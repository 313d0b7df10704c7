# The release packages and their checks. CMakeLists.txt includes this after the targets it
# uses.
#
# Native tree: the target `dist` writes the portable zip, the installer and the winget manifests
# from the Windows programs in WIN64_DIR and this tree's help file; the tests `dist_build` and
# `packages` make them and try them under Wine. Windows tree: the package test is part of the e2e
# program and skips there unless tools/check-dist.sh hands it the packages.

if(WIN32)
  target_sources(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e/package_test.cpp)
  target_link_libraries(e2e_tests PRIVATE version)
  return()
endif()
# The sanitizer and fuzz trees package nothing.
if(WAVELITH_SANITIZER_TREE OR WAVELITH_FUZZ)
  return()
endif()

set(WAVELITH_HELP_FILE ${CMAKE_BINARY_DIR}/quellix.chm CACHE FILEPATH "The help file the packages ship")
set(WAVELITH_DIST_DIR ${CMAKE_BINARY_DIR}/dist CACHE PATH "Where the target dist writes the packages")
set(WAVELITH_INSTALLER_URL "" CACHE STRING
    "Download address of the installer for the winget manifest (empty: a placeholder the publisher replaces)")

add_custom_target(dist
  COMMAND ${CMAKE_SOURCE_DIR}/tools/make-dist.sh
          --version ${PROJECT_VERSION} --programs ${WIN64_DIR} --help ${WAVELITH_HELP_FILE}
          --out ${WAVELITH_DIST_DIR} --installer-url "${WAVELITH_INSTALLER_URL}"
          --website "${WAVELITH_WEBSITE_URL}"
  COMMENT "Making the release packages in ${WAVELITH_DIST_DIR}"
  VERBATIM)
if(TARGET help_file)
  add_dependencies(dist help_file)
endif()

string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")
add_test(NAME script_version COMMAND wavelith-script --version)
set_tests_properties(script_version PROPERTIES PASS_REGULAR_EXPRESSION "^wavelith-script ${version_pattern}\n$")

add_test(NAME policy_templates
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/check-policy-templates.py ${CMAKE_SOURCE_DIR}/tools/dist/policy)

add_test(NAME dist_build COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target dist)
set_tests_properties(dist_build PROPERTIES FIXTURES_SETUP dist_packages)
add_test(NAME packages
  COMMAND ${CMAKE_SOURCE_DIR}/tools/check-dist.sh ${WAVELITH_DIST_DIR} ${WIN64_DIR} ${PROJECT_VERSION})
set_tests_properties(packages PROPERTIES FIXTURES_REQUIRED dist_packages RESOURCE_LOCK wine TIMEOUT 600)
