# Runs at install time, once for each part (KINETRA_CONFIGURED_PART: sim or desktop): the desktop
# entry, its launcher and the man pages name the folders the program is installed into, and only
# the install step knows the prefix (a package installs into /usr, a user's build into wherever
# --prefix says).
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(KINETRA_INSTALLED_PROGRAM "${prefix}/${KINETRA_BINDIR}/kinetra")
set(KINETRA_DESKTOP_LAUNCHER "${prefix}/${KINETRA_LIBEXECDIR}/kinetra/kinetra-desktop")
set(KINETRA_DATA_DIR "${prefix}/${KINETRA_DATADIR}/kinetra")

function(kinetra_install_configured source destination)
  cmake_parse_arguments(ARG "PROGRAM" "" "" ${ARGN})
  get_filename_component(name "${source}" NAME)
  string(REGEX REPLACE "\\.in$" "" name "${name}")
  configure_file("${KINETRA_PACKAGING_DIR}/${source}" "${KINETRA_CONFIGURED_DIR}/${name}" @ONLY)
  if(ARG_PROGRAM)
    set(permissions FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
  file(INSTALL "${KINETRA_CONFIGURED_DIR}/${name}" DESTINATION "${prefix}/${destination}"
       ${permissions})
endfunction()

if(KINETRA_CONFIGURED_PART STREQUAL "desktop")
  kinetra_install_configured(kinetra.desktop.in "${KINETRA_DATADIR}/applications")
  kinetra_install_configured(kinetra-desktop.in "${KINETRA_LIBEXECDIR}/kinetra" PROGRAM)
  kinetra_install_configured(man/kinetra.1 "${KINETRA_MANDIR}/man1")
else()
  kinetra_install_configured(man/kinetra-sim.1 "${KINETRA_MANDIR}/man1")
endif()
