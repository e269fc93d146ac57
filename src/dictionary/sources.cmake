target_sources(vezdar_dictionary PRIVATE
  src/dictionary/DictFile.cpp
  src/dictionary/DictImport.cpp
  src/dictionary/DictMerge.cpp
  src/dictionary/ThesaurusImport.cpp
  src/dictionary/WordListImport.cpp
  src/dictionary/DictCheck.cpp
  src/dictionary/DictWrite.cpp
)
