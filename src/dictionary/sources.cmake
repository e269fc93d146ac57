target_sources(vezdar_core PRIVATE
  src/dictionary/DictFile.cpp
  src/dictionary/DictCheck.cpp
  src/dictionary/DictWrite.cpp
)
