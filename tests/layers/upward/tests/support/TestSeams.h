#pragma once
// The test support.
