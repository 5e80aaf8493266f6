# What `cmake --install` puts under the prefix:
#   bin/ (or VORN_SHOW_DIR)  the show, its full-screen build, the gallery; the capture tool in bin/
#   include/vorn/            every public header of the library, flat, and the generated version.h
#   lib/                     the libraries (static unless BUILD_SHARED_LIBS is on), vorn.pc, and
#                            cmake/Vorn/ for find_package(Vorn): Vorn::base ... Vorn::content, Vorn::vorn
#   share/                   desktop entry, icons, man pages, AppStream metainfo, licence
# Included by the root CMakeLists.txt after every library and program is defined; it only
# adds install rules and properties, and keeps the build tree as it was.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The Debian package puts the show in /usr/games (-DVORN_SHOW_DIR=games).
set(VORN_SHOW_DIR ${CMAKE_INSTALL_BINDIR} CACHE STRING
    "Where the show and the gallery are installed, relative to the prefix")

# The installed libraries, each before those it builds on: the order of a static link.
set(VORN_LIBRARIES vorn_content vorn_effects vorn_vector vorn_sprite vorn_cursor vorn_sound
    vorn_platform vorn_image vorn_base)
# Headers that only a library's own sources read; they are not installed.
set(VORN_INTERNAL_HEADERS image/channels.h image/line_walk.h sound/sample_internal.h
    vector/wrap32.h)

# Vorn::vorn: the whole library in one name.
add_library(vorn_all INTERFACE)
target_link_libraries(vorn_all INTERFACE ${VORN_LIBRARIES})

# Public headers: every header in a library's include folders but the internal ones. They
# are installed flat into include/vorn/, where their bare includes of one another still
# resolve (the same folder), so a consumer needs only <prefix>/include.
set(VORN_PUBLIC_HEADERS "")
set(internal "")
foreach(header IN LISTS VORN_INTERNAL_HEADERS)
  list(APPEND internal ${PROJECT_SOURCE_DIR}/${header})
endforeach()
foreach(target IN LISTS VORN_LIBRARIES ITEMS vorn_build_platform)
  get_target_property(dirs ${target} INTERFACE_INCLUDE_DIRECTORIES)
  set(wrapped "")
  foreach(dir IN LISTS dirs)
    if(dir MATCHES "^\\$<")
      list(APPEND wrapped "${dir}")
      continue()
    endif()
    list(APPEND wrapped "$<BUILD_INTERFACE:${dir}>")
    file(GLOB headers ${dir}/*.h)
    foreach(header IN LISTS headers)
      if(NOT header IN_LIST internal)
        list(APPEND VORN_PUBLIC_HEADERS ${header})
      endif()
    endforeach()
  endforeach()
  # Inside the build tree each library's own folder; installed, <prefix>/include.
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${wrapped}")
  target_include_directories(${target} INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
endforeach()

# Exported names (Vorn::image, ...), and the same names as aliases inside this build.
foreach(target IN LISTS VORN_LIBRARIES ITEMS vorn_build_platform vorn_sdl vorn_all)
  string(REGEX REPLACE "^vorn_" "" name ${target})
  if(target STREQUAL "vorn_all")
    set(name vorn)
  endif()
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
  add_library(Vorn::${name} ALIAS ${target})
endforeach()
foreach(target IN LISTS VORN_LIBRARIES)
  # Only shared builds read these: libvorn_image.so.1 -> libvorn_image.so.1.0.0; installed,
  # each library finds the others beside it.
  set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION}
                                             SOVERSION ${PROJECT_VERSION_MAJOR})
  if(BUILD_SHARED_LIBS)
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
  endif()
endforeach()

# SDL reaches the build through an imported target or paths of this machine; the installed
# package finds SDL again where it is used (VornConfig.cmake), so vorn_sdl exports no link.
foreach(property INTERFACE_LINK_LIBRARIES INTERFACE_INCLUDE_DIRECTORIES
                 INTERFACE_COMPILE_DEFINITIONS)
  get_target_property(values vorn_sdl ${property})
  if(values)
    set(wrapped "")
    foreach(value IN LISTS values)
      list(APPEND wrapped "$<BUILD_INTERFACE:${value}>")
    endforeach()
    set_target_properties(vorn_sdl PROPERTIES ${property} "${wrapped}")
  endif()
endforeach()

# <vorn/version.h>
set(VORN_GENERATED_INCLUDE ${PROJECT_BINARY_DIR}/generated/include)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${VORN_GENERATED_INCLUDE}/vorn/version.h @ONLY)

install(FILES ${VORN_PUBLIC_HEADERS} ${VORN_GENERATED_INCLUDE}/vorn/version.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vorn COMPONENT dev)
install(TARGETS ${VORN_LIBRARIES} vorn_build_platform vorn_sdl vorn_all EXPORT VornTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT lib NAMELINK_COMPONENT dev
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT lib)

# find_package(Vorn 1.0): VornConfig.cmake, its version file (same major version
# accepted) and the targets.
set(VORN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vorn)
install(EXPORT VornTargets NAMESPACE Vorn:: DESTINATION ${VORN_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VornConfig.cmake.in
  ${PROJECT_BINARY_DIR}/generated/VornConfig.cmake INSTALL_DESTINATION ${VORN_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/generated/VornConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/generated/VornConfig.cmake
              ${PROJECT_BINARY_DIR}/generated/VornConfigVersion.cmake
        DESTINATION ${VORN_CMAKE_DIR} COMPONENT dev)

# vorn.pc. Its prefix is found from the file's own place (${pcfiledir}) when the folders are
# relative, so the file stays right under any --prefix given at install time.
set(VORN_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(VORN_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH up /root/${VORN_PC_DIR} /root)
  set(VORN_PC_PREFIX "\${pcfiledir}/${up}")
endif()
string(REGEX REPLACE "/$" "" VORN_PC_PREFIX "${VORN_PC_PREFIX}")
foreach(dir LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${dir}}")
    set(VORN_PC_${dir} "${CMAKE_INSTALL_${dir}}")
  else()
    set(VORN_PC_${dir} "\${prefix}/${CMAKE_INSTALL_${dir}}")
  endif()
endforeach()
set(VORN_PC_LIBS "")
foreach(target IN LISTS VORN_LIBRARIES)
  string(APPEND VORN_PC_LIBS " -l${target}")
endforeach()
# A static library brings no links of its own: the maths library goes with it on every
# link. A shared one records it, and only a static link (--static) needs it again.
if(BUILD_SHARED_LIBS)
  set(VORN_PC_LIBS_PRIVATE "-lm")
else()
  string(APPEND VORN_PC_LIBS " -lm")
  set(VORN_PC_LIBS_PRIVATE "")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/vorn.pc.in ${PROJECT_BINARY_DIR}/generated/vorn.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/generated/vorn.pc DESTINATION ${VORN_PC_DIR} COMPONENT dev)

# The programs; linked to shared libraries, they find them in the prefix's library folder.
foreach(program vorndemo vorndemo-fullscreen vorndemo-gallery vorndemo-capture)
  if(NOT TARGET ${program})
    continue()
  endif()
  set(dir ${VORN_SHOW_DIR})
  if(program STREQUAL "vorndemo-capture")
    set(dir ${CMAKE_INSTALL_BINDIR})
  endif()
  if(BUILD_SHARED_LIBS AND NOT IS_ABSOLUTE "${dir}" AND NOT IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
    file(RELATIVE_PATH up /root/${dir} /root/${CMAKE_INSTALL_LIBDIR})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/${up}")
  endif()
  install(TARGETS ${program} RUNTIME DESTINATION ${dir} COMPONENT show)
endforeach()

# The show on a desktop: its entry, its icon at three sizes, its AppStream metainfo and the
# manual pages; and the licence.
if(UNIX)
  set(data ${PROJECT_SOURCE_DIR}/data)
  install(FILES ${data}/vorndemo.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT show)
  foreach(size 48 128 256)
    install(FILES ${data}/icons/${size}/vorndemo.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps COMPONENT show)
  endforeach()
  install(FILES ${data}/org.vorndemo.vorndemo.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT show)
  install(FILES ${data}/man/vorndemo.6 ${data}/man/vorndemo-fullscreen.6 ${data}/man/vorndemo-gallery.6
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT show)
  install(FILES ${data}/man/vorndemo-capture.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT show)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT show)
