# The collection views: the lane and its colour buttons (mainwindow/), the
# organiser (organizer/) and the colour preview (collection_viewer/).
set(_ui ${CMAKE_CURRENT_LIST_DIR})
add_library(vellico_ui_collections STATIC
  ${_ui}/mainwindow/VQCollectionActions.cpp ${_ui}/mainwindow/VQCollectionActions.h
  ${_ui}/mainwindow/VQCollectionImages.cpp ${_ui}/mainwindow/VQCollectionImages.h
  ${_ui}/mainwindow/VQCollectionPaging.cpp ${_ui}/mainwindow/VQCollectionPaging.h
  ${_ui}/mainwindow/VQCollectionViewer.cpp ${_ui}/mainwindow/VQCollectionViewer.h
  ${_ui}/mainwindow/VQColorButton.cpp ${_ui}/mainwindow/VQColorButton.h
  ${_ui}/organizer/VQOrganizerController.cpp ${_ui}/organizer/VQOrganizerController.h
  ${_ui}/organizer/VQOrganizerModel.cpp ${_ui}/organizer/VQOrganizerModel.h
  ${_ui}/collection_viewer/VQCollectionCanvas.cpp ${_ui}/collection_viewer/VQCollectionCanvas.h
  ${_ui}/collection_viewer/VQColorPreview.cpp ${_ui}/collection_viewer/VQColorPreview_p.h
  ${_ui}/collection_viewer/VQQuickLookController.cpp ${_ui}/collection_viewer/VQQuickLookController.h
)
add_library(Vellico::ui_collections ALIAS vellico_ui_collections)
target_include_directories(vellico_ui_collections PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(vellico_ui_collections PUBLIC vellico_core vellico_parsers vqcore vqcore_ui Qt6::Widgets)
unset(_ui)
