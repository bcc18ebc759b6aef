# The port types view and its form.
add_library(zerandi_porttypes_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/PortTypeCDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RouterPortTypesFormView.cpp
)
target_include_directories(zerandi_porttypes_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zerandi_porttypes_ui PUBLIC zerandi_porttypes zerandi_config_ui zerandi_shell
  Qt6::Widgets)
