target_sources(vezdar_app PRIVATE
  src/app/Splash.cpp
  src/app/Startup.cpp
  src/app/MainLogic.cpp
)
