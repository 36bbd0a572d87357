// The online services end to end: the tests' build of the program, whose web site is 127.0.0.1,
// against a site that each scenario runs there itself.
#pragma once
#include "scene.h"

void banner_rotation(Scene& scene);
void update_question(Scene& scene);
void banner_without_site(Scene& scene);
void startup_beside_silent_site(Scene& scene);
