# The application shell's widgets: main frame, child windows, the view registry, the
# helpers every view builds with, and the Qt implementation of UiServices.
add_library(zerandi_shell STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AboutDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AccessibleName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ApplicationIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChildFrameVisibility.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChildWindowStyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMainFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CustomMdiChildWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FieldWidth.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LockKeyIndicators.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PendingView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtUiServices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabStopList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewMenuSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewScrollArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewTemplate.cpp
)
target_include_directories(zerandi_shell PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zerandi_shell PUBLIC zerandi_services Qt6::Widgets Qt6::PrintSupport)
