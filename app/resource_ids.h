#pragma once
// Ids of the program's own resources (resources/app.rc).

#define MOXILO_IDI_APP 1
#define MOXILO_IDR_BADGE_IMAGE 101
