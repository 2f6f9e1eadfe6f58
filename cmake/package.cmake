# Debian packages of the install (cpack -G DEB in the build folder, or scripts/package-check.sh):
#   libmundor0.9   the shared libraries (component "libraries")
#   libmundor-dev  headers, Mundor.idl, the CMake package and the pkg-config files ("development")
#   mundor         mundor-host, nubex-import, mundor-regsvr and the world dataset ("programs");
#                  its postinst registers the component and Nubex in the system's class registry
#                  and its prerm takes them out again.
set(MUNDOR_MAINTAINER "Equipo de Mundor <mundor@example.org>")
set(MUNDOR_DEB_PREFIX /usr)
set(mundor_deb_packages
  libraries libmundor${MUNDOR_SOVERSION}
  development libmundor-dev
  programs mundor)

# --- Files every package carries: copyright (with the dataset's licence) and changelog ------------

# A licence text as a Debian copyright field's continuation lines.
function(mundor_debian_field_text file out)
  file(STRINGS ${file} lines ENCODING UTF-8)
  set(text)
  foreach(line IN LISTS lines)
    string(STRIP "${line}" stripped)
    if(stripped STREQUAL "")
      string(APPEND text " .\n")
    else()
      string(APPEND text " ${line}\n")
    endif()
  endforeach()
  string(REGEX REPLACE "\n$" "" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

mundor_debian_field_text(${PROJECT_SOURCE_DIR}/data/LICENSE-ODbL.txt MUNDOR_ODBL_TEXT)
mundor_debian_field_text(${PROJECT_SOURCE_DIR}/data/ATTRIBUTION.md MUNDOR_ATTRIBUTION_TEXT)
configure_file(cmake/debian/copyright.in ${PROJECT_BINARY_DIR}/debian/copyright @ONLY)

string(TIMESTAMP MUNDOR_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(cmake/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
execute_process(
  COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/debian/changelog
  RESULT_VARIABLE gzip_result)
if(NOT gzip_result EQUAL 0)
  message(FATAL_ERROR "gzip could not compress the Debian changelog")
endif()

# Installed only into the packages (a component install), never by a plain `cmake --install`.
set(mundor_pending ${mundor_deb_packages})
while(mundor_pending)
  list(POP_FRONT mundor_pending component package)
  install(FILES ${PROJECT_BINARY_DIR}/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
    COMPONENT ${component} EXCLUDE_FROM_ALL)
endwhile()

# --- Maintainer scripts of the mundor package -------------------------------------------------

set(MUNDOR_REGSVR ${MUNDOR_DEB_PREFIX}/${CMAKE_INSTALL_BINDIR}/mundor-regsvr)
set(mundor_deb_libdir ${MUNDOR_DEB_PREFIX}/${CMAKE_INSTALL_LIBDIR})
set(mundor_soname_suffix ${CMAKE_SHARED_LIBRARY_SUFFIX}.${MUNDOR_SOVERSION})
set(MUNDOR_REGISTERED_LIBRARIES
  "${mundor_deb_libdir}/libnubex${mundor_soname_suffix} ${mundor_deb_libdir}/libmundor${mundor_soname_suffix}")
set(MUNDOR_UNREGISTERED_LIBRARIES
  "${mundor_deb_libdir}/libmundor${mundor_soname_suffix} ${mundor_deb_libdir}/libnubex${mundor_soname_suffix}")
set(mundor_script_permissions FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
foreach(script postinst prerm postrm)
  configure_file(cmake/debian/${script}.in ${PROJECT_BINARY_DIR}/debian/${script} @ONLY
    ${mundor_script_permissions})
endforeach()

# The libraries package refreshes the loader's cache through dpkg's ldconfig trigger. (CPack 3.25
# also writes postinst and postrm scripts that call ldconfig themselves: harmless, and lintian's
# maintscript-calls-ldconfig warning.)

# --- CPack ------------------------------------------------------------------------------------

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mundor)
set(CPACK_PACKAGE_VENDOR "Mundor")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX ${MUNDOR_DEB_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL libraries development programs)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MUNDOR_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Dependencies on Debian's libraries come from dpkg-shlibdeps; those among our own packages from
# the component dependencies (exact version: the packages are built together).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_LIBRARIES_PACKAGE_NAME libmundor${MUNDOR_SOVERSION})
set(CPACK_DEBIAN_LIBRARIES_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)  # only libmundor0.9 has libraries
set(CPACK_DEBIAN_LIBRARIES_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/debian/triggers)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_LIBRARIES_DESCRIPTION
  "Mundor geographic catalog component - shared libraries
Mundor is an in-process COM-style component that keeps a catalog of countries,
states or provinces and cities for a host application, with a Spanish user
interface. This package holds its libraries: the component (libmundor), the
component runtime (libmundorrt), the Nubex data-object library on SQLite or
PostgreSQL (libnubex), the user-interface contracts (libmundor_ui) and the
headless and Qt6 Widgets toolkits.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libmundor-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_RECOMMENDS "qt6-base-dev")
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS libraries)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
  "Mundor geographic catalog component - development files
Mundor is an in-process COM-style component that keeps a catalog of countries,
states or provinces and cities for a host application. This package holds what
a host is built with: the public headers under /usr/include/mundor, the
interface description Mundor.idl, the CMake package (find_package(Mundor)) and
the pkg-config files.")

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME mundor)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION misc)
set(CPACK_COMPONENT_PROGRAMS_DEPENDS libraries)
# mundor-host shows Qt's own texts (standard buttons, context menus) from Qt's Spanish
# translations, which no library of it links to.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_CONTROL_EXTRA
  ${PROJECT_BINARY_DIR}/debian/postinst ${PROJECT_BINARY_DIR}/debian/prerm
  ${PROJECT_BINARY_DIR}/debian/postrm)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION
  "host application and world dataset of the Mundor geographic catalog
Mundor is an in-process COM-style component that keeps a catalog of countries,
states or provinces and cities for a host application, with a Spanish user
interface. This package holds mundor-host, the Qt desktop host over a world
catalog (SQLite or PostgreSQL); nubex-import, which loads the world dataset
into a catalog; mundor-regsvr, which registers a component's classes; and the
world dataset (ODbL). It registers the component for every user of the system.")

include(CPack)
