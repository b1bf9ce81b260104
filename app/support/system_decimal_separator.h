#pragma once

// The decimal separator of the computer's regional settings, '.' or ','.
char systemDecimalSeparator();
