#include "Beep.h"

#include <emscripten.h>

// A browser has no bell, and Qt plays nothing there. A refused key is a user's gesture, which
// lets a page start sound: a tenth of a second of a quiet tone, where the browser has Web
// Audio. One audio context serves every beep; a browser allows only a few per page.
EM_JS(void, playPageBeep, (), {
    const Context = globalThis.AudioContext || globalThis.webkitAudioContext;
    if (!Context)
        return;
    try {
        const audio = globalThis.combatSheetAudio || (globalThis.combatSheetAudio = new Context());
        const tone = audio.createOscillator();
        const volume = audio.createGain();
        tone.frequency.value = 880;
        volume.gain.value = 0.1;
        tone.connect(volume).connect(audio.destination);
        tone.start();
        tone.stop(audio.currentTime + 0.1);
    } catch (refused) {
        // No sound where the browser refuses one; the key is refused all the same.
    }
});

void beep()
{
    playPageBeep();
}
