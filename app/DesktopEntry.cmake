# SPDX-License-Identifier: GPL-3.0-or-later
# Run by `cmake --install`: the launcher entry, for the prefix this install writes to.
# Launchers do not look inside /opt, so there the entry goes where local programs' entries go.
if(QUENDLE_DESKTOP_DIR)
  cmake_path(ABSOLUTE_PATH QUENDLE_DESKTOP_DIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
             OUTPUT_VARIABLE dir)
elseif(CMAKE_INSTALL_PREFIX MATCHES "^/opt/")
  set(dir /usr/local/share/applications)
else()
  set(dir "${CMAKE_INSTALL_PREFIX}/share/applications")
endif()
set(exec "${CMAKE_INSTALL_PREFIX}/bin/quendle")
if(NOT exec MATCHES "^[A-Za-z0-9/._+-]+$")
  # Reserved characters: the path in double quotes with \ " ` $ escaped; then, as in every
  # value of the entry, each backslash doubled; and % doubled, as it starts a field code.
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${exec}")
  string(REPLACE "\\" "\\\\" exec "\"${exec}\"")
  string(REPLACE "%" "%%" exec "${exec}")
endif()
configure_file("${QUENDLE_DESKTOP_IN}" "${QUENDLE_DESKTOP_OUT}" @ONLY)
file(INSTALL "${QUENDLE_DESKTOP_OUT}" DESTINATION "${dir}")
