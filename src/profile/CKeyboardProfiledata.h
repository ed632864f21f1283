#pragma once

#include "profile/CBasicProfiledata.h"

// The keyboard's profile object. So far the common sections only; the keyboard's system
// settings and custom colour pages join it with the keyboard itself.
class CKeyboardProfiledata : public CBasicProfiledata {};
