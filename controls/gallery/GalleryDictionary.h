#pragma once

// Loads the small English dictionary the gallery carries, so the same
// window can be looked at in both interface languages.
void LoadGalleryDictionary();
