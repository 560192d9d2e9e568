// A DLL that loads but is no plug-in: it has no GetPluginInfo.

extern "C" int NotAPlugin() {
    return 0;
}
