target_sources(vezdar_scanword PRIVATE
  src/scanword/ScanArrow.cpp
  src/scanword/ScanBlocks.cpp
  src/scanword/ScanBuilder.cpp
  src/scanword/ScanDraw.cpp
  src/scanword/ScanDrawStyle.cpp
  src/scanword/ScanGenerator.cpp
  src/scanword/ScanOperSettings.cpp
)
