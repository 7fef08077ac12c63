# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Runs the layer check on a small tree whose Qt-free library includes Qt's headers in each of
# their forms, and fails unless the check reports every one of them and nothing else.
# Run as: cmake -DCHECK=<check_layers.cmake> -DFIXTURE=<qtheaders> -P expect_qt_faults.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${FIXTURE}/src -DTABLE=${FIXTURE}/layers.txt
  -P ${CHECK} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "The check passed a Qt-free library that includes Qt:\n${output}")
endif()
foreach(expected "effects/classname.h: effects must not use Qt (#include <QImage>)"
                 "effects/lowercase.h: effects must not use Qt (#include <qimage.h>)"
                 "effects/modulepath.h: effects must not use Qt (#include <QtGui/qimage.h>)"
                 "3 include(s) break the layers")
  string(FIND "${output}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "The check did not report \"${expected}\":\n${output}")
  endif()
endforeach()
string(FIND "${output}" "notqt.h" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "The check took a header that is not Qt's for Qt:\n${output}")
endif()
