# Sources of this folder: VARNELLE_CORE_SOURCES (platform-free) and VARNELLE_WIN32_SOURCES.
