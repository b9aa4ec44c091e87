object Root: TComponent
  object NL: TNumLab
    LeftSpace = 500
  end
end
