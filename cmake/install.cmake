# Installing Mundor as Linux libraries are installed: versioned shared libraries, programs, the
# world dataset, the public headers under include/mundor/, a CMake package (find_package(Mundor))
# and pkg-config files. cmake/package.cmake turns the same install into Debian packages.
#
# Compatibility rule. The version is MAJOR.MINOR.BUILD.REVISION (0.9.0.10). Every library keeps
# its binary interface across the releases that share MAJOR.MINOR, so the SONAME carries those
# two (libmundor.so.0.9) and find_package(Mundor 0.9) accepts any 0.9.x.y that is not older. A
# release that changes an exported symbol, a public class's layout or an interface's slots
# raises MINOR (MAJOR once it leaves 0); the libraries are released together and share one
# SOVERSION.
include(CMakePackageConfigHelpers)

set(MUNDOR_SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
set(MUNDOR_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Mundor)
set(MUNDOR_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/mundor)

# Every shared library of the project, in whichever folder it is defined.
function(mundor_shared_libraries out)
  set(pending ${PROJECT_SOURCE_DIR})
  set(found)
  while(pending)
    list(POP_FRONT pending dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "SHARED_LIBRARY")
        list(APPEND found ${target})
      endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND pending ${subdirs})
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

mundor_shared_libraries(mundor_libraries)
foreach(library IN LISTS mundor_libraries)
  set_target_properties(${library} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${MUNDOR_SOVERSION}
    INSTALL_RPATH "$ORIGIN")
endforeach()

# What find_package(Mundor) offers, as Mundor::<name>.
set(mundor_exported_names
  mundorrt runtime
  mundor_ui ui
  mundor_contracts contracts
  mundor_client client
  nubex nubex
  mundor mundor
  mundor_ui_headless ui_headless
  mundor_ui_qt ui_qt)
while(mundor_exported_names)
  list(POP_FRONT mundor_exported_names target name)
  if(TARGET ${target})
    set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
  endif()
endwhile()

# --- Libraries and programs ---------------------------------------------------------------------

install(TARGETS mundorrt mundor_ui mundor_contracts mundor_client nubex mundor mundor_ui_headless
  EXPORT MundorTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT libraries NAMELINK_COMPONENT development
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(TARGET mundor_ui_qt)
  install(TARGETS mundor_ui_qt
    EXPORT MundorQtTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
      COMPONENT libraries NAMELINK_COMPONENT development)
endif()

# The collation nubex_es as a SQLite extension, for programs that write a catalog with plain SQL.
install(TARGETS nubex_es LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/mundor COMPONENT libraries)

# Programs keep the RUNPATH every program of the build has ($ORIGIN/../lib/<multiarch>).
foreach(program mundor-regsvr nubex-import mundor-host)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
  endif()
endforeach()

# The world dataset with its licence and attribution, where the programs look for it.
install(FILES data/world.tsv.gz data/LICENSE-ODbL.txt data/ATTRIBUTION.md
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mundor COMPONENT programs)

# --- Public headers ---------------------------------------------------------------------------
# Hosts include <mundor/facade/mundor_client.h> and the like; the rest of each folder is private.

function(mundor_install_headers folder)
  list(TRANSFORM ARGN PREPEND ${PROJECT_SOURCE_DIR}/${folder}/)
  install(FILES ${ARGN} DESTINATION ${MUNDOR_INCLUDE_DIR}/${folder} COMPONENT development)
endfunction()

mundor_install_headers(runtime
  app_object.h bstr.h call_by_name.h com_types.h dispatch.h error.h export.h log.h object.h
  project.h ref.h registry.h self_registration.h text.h variant.h version_record.h)
mundor_install_headers(contracts data_objects.h)
mundor_install_headers(contracts/ui
  controls.h form_definition.h message_box.h module_banner_base.h toolkit.h tree.h tree_base.h
  ui.h ui_errors.h window.h window_base.h window_handle.h)
mundor_install_headers(facade mundor_client.h mundor_fx_interface.h Mundor.idl)
mundor_install_headers(nubex nubex.h errors.h export.h search.h)
mundor_install_headers(ui/headless headless_toolkit.h scripted_user.h session.h transcript.h)
if(TARGET mundor_ui_qt)
  mundor_install_headers(ui/qt qt_toolkit.h qt_errors.h qt_log.h)
endif()

# --- find_package(Mundor) ---------------------------------------------------------------------

install(EXPORT MundorTargets NAMESPACE Mundor:: DESTINATION ${MUNDOR_CMAKE_DIR}
  COMPONENT development)
if(TARGET mundor_ui_qt)
  install(EXPORT MundorQtTargets NAMESPACE Mundor:: DESTINATION ${MUNDOR_CMAKE_DIR}
    COMPONENT development)
endif()
configure_package_config_file(cmake/MundorConfig.cmake.in
  ${PROJECT_BINARY_DIR}/MundorConfig.cmake INSTALL_DESTINATION ${MUNDOR_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/MundorConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/MundorConfig.cmake ${PROJECT_BINARY_DIR}/MundorConfigVersion.cmake
  DESTINATION ${MUNDOR_CMAKE_DIR} COMPONENT development)

# --- pkg-config -------------------------------------------------------------------------------
# Relocatable: the prefix is found from the .pc file's own folder.

set(MUNDOR_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH mundor_prefix_from_pcfiledir ${CMAKE_INSTALL_PREFIX}/${MUNDOR_PKGCONFIG_DIR}
     ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" mundor_prefix_from_pcfiledir "${mundor_prefix_from_pcfiledir}")

# mundor_pkgconfig(<name> <library target> <description> [REQUIRES <modules...>])
function(mundor_pkgconfig name target description)
  cmake_parse_arguments(PARSE_ARGV 3 PC "" "" "REQUIRES")
  if(NOT TARGET ${target})
    return()
  endif()
  set(pc_name ${name})
  set(pc_description ${description})
  list(JOIN PC_REQUIRES " " pc_requires)
  get_target_property(pc_library ${target} OUTPUT_NAME)
  if(NOT pc_library)
    set(pc_library ${target})
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/mundor.pc.in
    ${PROJECT_BINARY_DIR}/pkgconfig/${name}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/${name}.pc
    DESTINATION ${MUNDOR_PKGCONFIG_DIR} COMPONENT development)
endfunction()

mundor_pkgconfig(mundor-runtime mundorrt "Mundor component runtime: COM-style types, dispatch, registry")
mundor_pkgconfig(mundor-ui mundor_ui "Mundor user-interface contracts that every toolkit implements"
  REQUIRES mundor-runtime)
mundor_pkgconfig(mundor-nubex nubex "Nubex, the data-object library of Mundor catalogs (SQLite, PostgreSQL)"
  REQUIRES mundor-runtime mundor-ui)
mundor_pkgconfig(mundor mundor "Mundor geographic catalog component and its typed client"
  REQUIRES mundor-runtime mundor-ui)
mundor_pkgconfig(mundor-ui-headless mundor_ui_headless "Mundor headless toolkit with a scripted user"
  REQUIRES mundor-ui)
mundor_pkgconfig(mundor-ui-qt mundor_ui_qt "Mundor Qt6 Widgets toolkit"
  REQUIRES mundor-ui Qt6Widgets)

include(cmake/package.cmake OPTIONAL)
