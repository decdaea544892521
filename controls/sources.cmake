target_sources(qb_core PRIVATE
  controls/ShadowImage.cpp
  controls/ImageLoader.cpp
  controls/Banner.cpp
  controls/MyAero.cpp
  controls/WndShadow.cpp
  controls/CmdBarLogic.cpp
  controls/ToolbarResFormat.cpp
  controls/ToolbarRes.cpp
  controls/WinCmdBar.cpp
  controls/WinCmdBar2.cpp
  controls/ColorPickerLogic.cpp
  controls/ColorButton.cpp
  controls/HyperLink.cpp
)
