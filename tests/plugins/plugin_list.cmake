# The test plug-ins, each with the .def file that names its exports: the Windows builds make
# them, the native build checks what they export.
set(NERULA_TEST_PLUGINS
    ntp:import_plugin.def
    version:import_plugin.def
    lowercase:import_plugin.def
    noentry:info_only.def
    fails:import_plugin.def
    infofails:import_plugin.def
    trailing:import_plugin.def
    twopatterns:import_plugin.def
    liar:import_plugin.def
    notaplugin:not_a_plugin.def
)
