target_sources(qb_core PRIVATE
  controls/ShadowImage.cpp
)
