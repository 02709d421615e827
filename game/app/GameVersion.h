#pragma once

// Version text of the game build.
const char* gameVersionText();
