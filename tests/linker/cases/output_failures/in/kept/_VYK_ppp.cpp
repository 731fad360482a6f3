previous source
