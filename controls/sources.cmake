target_sources(qb_core PRIVATE
  controls/ShadowImage.cpp
  controls/ImageLoader.cpp
  controls/Banner.cpp
  controls/MyAero.cpp
  controls/CmdBarLogic.cpp
  controls/ToolbarResFormat.cpp
)

# The main window's banner picture.
target_sources(Quillboard PRIVATE res/banner.rc)
