#pragma once

#include "profile/CBasicProfiledata.h"

// The headset's profile object. So far the common sections only; the voice, equaliser and
// microphone sections join it with the headset itself.
class CHs6533Profiledata : public CBasicProfiledata {};
