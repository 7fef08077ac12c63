# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Run by cpack after it has made the Debian package (CPACK_POST_BUILD_SCRIPTS). CPack adds
# postinst and postrm scripts that call ldconfig for every shared object below /usr/lib, even
# one in a program's private folder such as /usr/lib/tapsy, which the linker cache must never
# hold. The package is taken apart and put together again without those two scripts.
find_program(DPKG_DEB dpkg-deb REQUIRED)
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  set(tree "${deb}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND ${DPKG_DEB} --raw-extract "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  foreach(script postinst postrm)
    if(EXISTS "${tree}/DEBIAN/${script}")
      file(STRINGS "${tree}/DEBIAN/${script}" lines)
      # Only CPack's own ldconfig script goes; a script that does more is a fault to look at.
      list(FILTER lines EXCLUDE REGEX "^(#!/bin/sh|set -e|if \\[ \"\\$1\" = \"(configure|remove)\" \\]; then|\tldconfig|fi|)$")
      if(lines)
        message(FATAL_ERROR "${deb}: ${script} does more than call ldconfig: ${lines}")
      endif()
      file(REMOVE "${tree}/DEBIAN/${script}")
    endif()
  endforeach()
  execute_process(COMMAND ${DPKG_DEB} --root-owner-group --build "${tree}" "${deb}"
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
