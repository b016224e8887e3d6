# A calculator family folder holds its formulas (plain C++, no Qt) at the top and its windows
# under ui/. The formulas become korvel_<family> (Korvel::<family> once installed), the windows
# korvel_<family>_ui, which exist only in a build with the desktop application.
function(korvel_family family)
  file(GLOB _formulas CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB _windows CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
  if(_formulas)
    add_library(korvel_${family} STATIC ${_formulas})
    target_link_libraries(korvel_${family} PUBLIC korvel_core)
    set_target_properties(korvel_${family} PROPERTIES AUTOMOC OFF)
  else()
    add_library(korvel_${family} INTERFACE)
    target_link_libraries(korvel_${family} INTERFACE korvel_core)
  endif()
  set_target_properties(korvel_${family} PROPERTIES EXPORT_NAME ${family})
  korvel_install_headers(${family})
  set_property(GLOBAL APPEND PROPERTY KORVEL_LIBRARIES korvel_${family})
  if(_windows AND KORVEL_GUI)
    add_library(korvel_${family}_ui STATIC ${_windows})
    target_link_libraries(korvel_${family}_ui PUBLIC korvel_${family} korvel_shell)
  endif()
endfunction()

# A folder's top-level headers are its public interface: they install under
# include/korvel/<folder>/, and they include each other as "<folder>/<name>.h".
function(korvel_install_headers folder)
  file(GLOB _headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  install(FILES ${_headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korvel/${folder} COMPONENT development)
endfunction()
