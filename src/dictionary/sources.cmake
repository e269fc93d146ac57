target_sources(vezdar_core PRIVATE
  src/dictionary/DictFile.cpp
)
