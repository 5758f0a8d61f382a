#pragma once
/* Resource ids (RCDATA) of the embedded skin engine library and the built-in
   skins. The resource script reads this file too, so it holds plain macros. */

/* The engine library image written next to the program. */
#define MOXILO_SKIN_ENGINE_IMAGE_ID 3000

/* Built-in skin n (1..33) has the id MOXILO_SKIN_ID_BASE + n. */
#define MOXILO_SKIN_ID_BASE 3000
