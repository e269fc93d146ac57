target_sources(vezdar_compose PRIVATE
  src/compose/WordPool.cpp
  src/compose/PoolScan.cpp
  src/compose/FillSearch.cpp
  src/compose/FillEngine.cpp
  src/compose/SmartSolver.cpp
  src/compose/SmartSearch.cpp
)
target_sources(vezdar_compose PRIVATE
  src/compose/ComposeSave.cpp
  src/compose/ComposeSession.cpp
)
