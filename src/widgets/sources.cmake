target_sources(vezdar_widgets PRIVATE
  src/widgets/MessageBoxDialog.cpp
)
