#pragma once

// Every task kind Lumora knows, one line each, in the order the task chart shows them. Adding a
// kind takes its own files (kinds/<Name>Task for its slots and steps, an option page, an icon
// drawing) and one line here; nothing else names the kinds one by one.
//
// Columns:
//   number   the kind number stored in task records and files; a new kind takes the next free one
//   Id       its name in TaskKind
//   name     what task lists show for it ("" for a kind that is never recorded)
//   item     the task chart's item key; the record key and icon name are this in lower case
//   caption  the chart item's caption
//   title    the option page's title
//   Steps    its class in kinds/: the slots read as what they mean, and what a run does
//   Page     its option page (window only)
//   icon     the function that draws its icon on a 24 x 24 grid (window only)
//
// Core code expands the table without the last two columns, so the window's classes need not
// exist there.
#define LUMORA_TASK_KINDS(KIND)                                                                                        \
    KIND(3, Resize, "Resize", "Resize", "Resize", "Task Option - Resize", ResizeTask, ResizeOptions, drawResizeIcon)  \
    KIND(12, Canvas, "Canvas", "Canvas", "Canvas", "Task Option - Canvas", CanvasTask, CanvasOptions, drawCanvasIcon) \
    KIND(8, Crop, "Crop", "Crop", "Crop", "Task Option - Crop", CropTask, CropOptions, drawCropIcon)                  \
    KIND(2, Rotate, "Rotate", "Rotate", "Rotate", "Task Option - Rotate", RotateTask, RotateOptions, drawRotateIcon)  \
    KIND(1, Orientation, "Orientation", "Flip", "Flip", "Task Option - Flip", FlipTask, FlipOptions, drawFlipIcon)    \
    KIND(11, Negative, "Negative", "Invert", "Invert", "Task Option - Invert", InvertTask, NoteOptions,                \
         drawInvertIcon)                                                                                               \
    KIND(5, Contrast, "Contrast", "Contrast", "Contrast", "Task Option - Contrast", ContrastTask, AmountOptions,       \
         drawContrastIcon)                                                                                             \
    KIND(7, Sharpen, "Sharpen", "Sharpen", "Sharpen", "Task Option - Sharpen", SharpenTask, AmountOptions,            \
         drawSharpenIcon)                                                                                              \
    KIND(4, Blur, "Blur", "Blur", "Blur", "Task Option - Blur", BlurTask, AmountOptions, drawBlurIcon)                \
    KIND(6, Brightness, "Brightness", "Brightness", "Brightness", "Task Option - Brightness", BrightnessTask,         \
         AmountOptions, drawBrightnessIcon)                                                                            \
    KIND(10, Text, "Text", "Text", "Text", "Task Option - Add Text", TextTask, TextOptions, drawTextIcon)             \
    KIND(9, Watermark, "Watermark", "Watermark", "Watermark/Merge", "Task Option - Watermark/merge", WatermarkTask,   \
         WatermarkOptions, drawWatermarkIcon)                                                                          \
    KIND(14, Mask, "Mask", "Mask", "Mask", "Task Option - Mask", MaskTask, MaskOptions, drawMaskIcon)                 \
    KIND(15, Shadow, "Shadow", "Shadow", "Shadow", "Task Option - Shadow", ShadowTask, ShadowOptions, drawShadowIcon) \
    KIND(13, Frame, "Frame", "Frame", "Frame", "Task Option - Frame", FrameTask, FrameOptions, drawFrameIcon)         \
    KIND(16, RedEye, "", "RedEye", "Red-Eye Correction", "Red-Eye Correction", RedEyeTask, RedEyeOptions,             \
         drawRedEyeIcon)                                                                                              \
    KIND(17, Fit, "Fit", "Fit", "Fit", "Task Option - Fit", FitTask, FitOptions, drawFitIcon)
