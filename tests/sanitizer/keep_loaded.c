/* Linked into the sanitizer build only. Libraries that SDL loads at run time (the GL
 * driver, the audio back end) are unloaded at SDL_Quit, and LeakSanitizer then reports their
 * still-reachable blocks from an "unknown module" that no suppression can name. Keeping them
 * loaded lets the leak check see only what is really lost. */
int dlclose(void *handle)
{
    (void)handle;
    return 0;
}
