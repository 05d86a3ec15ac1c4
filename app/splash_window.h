#pragma once
#include "runtime/form.h"

// Shown modally while the main window is created; checks for the catalogue.
extern const WindowRuntime::FormDescription SplashWindow;
enum SplashWindowRole : int { kSplashTimer };
constexpr WindowRuntime::Control SplashTimer{&SplashWindow, kSplashTimer};

constexpr int kSplashMilliseconds = 3000;

void OnSplashWindowCreated();
void OnSplashTimer();
