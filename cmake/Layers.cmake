# The folders of src/ by layer, shared by the build (CMakeLists.txt) and by the include check
# (CheckLayers.cmake): the base of protocol and model, and the operation subsystems, each of
# which builds on those listed before it.
set(VEXA_BASE_DIRS model core link)
set(VEXA_OPERATION_DIRS files module pins events live dialogs batch layout documents)
