# Frame kernels (library zuna_frame_kernels).
