target_sources(qb_core PRIVATE
  ui/Window.cpp
  ui/Dialog.cpp
  ui/MessageLoop.cpp
  ui/TextConv.cpp
)
