#pragma once

// The short sound that refuses a key. One source file per platform: the desktop's own bell,
// and a tone of the page's where the browser lets it play one.
void beep();
