#pragma once
// A helper of the pin tests.
