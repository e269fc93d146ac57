target_sources(vezdar_core PRIVATE
  src/scanword/ScanBlocks.cpp
  src/scanword/ScanGenerator.cpp
)
