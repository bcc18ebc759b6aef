# The flash memory view: the widget side of the firmware download.
add_library(zerandi_flash_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/RouterFlashFormView.cpp
)
target_include_directories(zerandi_flash_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zerandi_flash_ui PUBLIC zerandi_flash zerandi_shell Qt6::Widgets)
