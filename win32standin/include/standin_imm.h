// imm32: one input context per window.
#pragma once
