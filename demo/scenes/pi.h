// The one constant the scenes' tables need besides their own.
#pragma once

const double pi = 3.141592653589793;
