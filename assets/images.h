#pragma once
#include "assets/image_bytes.h"

// Page backgrounds of the main window (JPEG, 620x455).
extern const ImageBytes Step1Background;
extern const ImageBytes Step2Background;
extern const ImageBytes Step3Background;
// Scanning window picture (JPEG, 32x32).
extern const ImageBytes ScanPictureImage;
// Verdict icons (PNG, 128x128 RGBA).
extern const ImageBytes CannotRunIcon;
extern const ImageBytes MayNotRunSmoothlyIcon;
extern const ImageBytes RunsSmoothlyIcon;
// Splash picture (PNG, 500x517 RGBA).
extern const ImageBytes SplashImage;
